A

  
B
	


C _

D
' E _

Private Function F()
Public Sub G()
  Private Subtotal As Long
End Sub


