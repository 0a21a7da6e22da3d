Sub A()
If a Then
Retry:
  10 x = 1
20   y = 2
  Again: ' back here
GoTo Retry
   Else:
End If
100
End Sub
Private Sub B()
  On Error GoTo Failed
  Exit Sub
Failed:
  Resume Next
End Sub
