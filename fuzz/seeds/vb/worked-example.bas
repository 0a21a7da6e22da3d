Attribute VB_Name = "Worked"
Option Explicit

Sub Test()
If a Then
Select Case b
Case 1
x = 1 ' one
End Select
End If
End Sub

Private Sub Separators()
x = 1:   y = 2   
a = "x:  y": b = 1
a = b:c = d
Do: i = i + 1
Loop
If a Then: b = 1
If a Then:b = 1
If a Then b = 1 Else c = 2
If a Then ' block
If s = "x" Then
x = 1
End If
End If
Select Case x
Case 1: y = 1
Case Else:
End Select
End Sub
