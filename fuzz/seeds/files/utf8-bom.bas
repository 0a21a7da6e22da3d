Attribute VB_Name = "Utf8"
' 中文，“引号”
Private Sub A()
  MsgBox "你好！"
End Sub
