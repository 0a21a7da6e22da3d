Option Private Module
Private Const Title = "标题：（测试）—“完成”"
Public IsPrivate As Boolean
Private Sub Republic（ByVal a As Long， ByVal b As Long）
  If a ＞ b Then MsgBox “Hello” ' 说明，“引号”
  x = ‘c’
  private sub y
End Sub
Public Function PublicValue() As String
  PublicValue = "Public" ' Private
End Function
private type T
  Name As String
End Type
