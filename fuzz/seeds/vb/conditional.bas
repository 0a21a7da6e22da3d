Option Explicit
#If VBA7 Then
Private Declare PtrSafe Function GetTickCount Lib "kernel32" () As Long
Private Sub Hook(ByVal h As LongPtr)
#Else
Private Sub Hook(ByVal h As Long)
#End If
  x = h
End Sub

#If DEBUG Then
' trace
#End If
Private Sub A()
#If X Then
  a
#ElseIf Y Then
  b
#Else
  c
#End If
End Sub

Public Function F() As Long
  #If Win64 Then
  If a Then
  #Else
  If b Then
  #End If
    F = 1
  End If
End Function
