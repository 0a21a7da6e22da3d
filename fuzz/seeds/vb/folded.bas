Option Explicit
'[+]<kv_unflod:^+) Private Sub A()

  '[+]<kv_unflod:^+) Public Function B() As Long
'[+]<kv_unflod:^+) Private Sub Gone()
Private Sub C()
End Sub

Private Sub A()
  x = 1
End Sub

  Public Function B() As Long   
	B = 2
End Function: ' done
