Private Type Point
  X As Long
  End As Long
  Loop As Long
End Type
Public Enum Colour
  Red = 1
  Select
End Enum
Property Get Value() As Long
With Me
For i = 1 To 10
Do While x
While y
Wend
Loop
Next i
End With
End Property
Friend Function Hidden()
End Function
Sub NoScope()
End Sub
