Attribute VB_Name = "modCangku"
Option Explicit
' 仓库模块：保存库存数量，并提供入库、出库和盘点功能。

Public KuCun(1 To 100) As Long      ' 每种货品的库存数量
Public MingCheng(1 To 100) As String ' 货品名称
Public ShuLiang As Long               ' 已登记的货品种数

Public Function RuKu(ByVal BianHao As Long, ByVal Shu As Long) As Boolean
' 入库：数量必须大于零
If Shu <= 0 Then
MsgBox "入库数量必须大于零！", vbExclamation，"入库"
RuKu = False
Exit Function
End If
	KuCun(BianHao) = KuCun(BianHao) + Shu
	RuKu = True
End Function

Public Function ChuKu(ByVal BianHao As Long, ByVal Shu As Long) As Boolean
Dim ShengYu As Long
ShengYu = KuCun(BianHao) - Shu
  Select Case ShengYu
  Case Is < 0
MsgBox "库存不足：" & MingCheng(BianHao) & "只剩" & KuCun(BianHao) & "件。", _
vbCritical, "出库"
ChuKu = False
  Case 0
KuCun(BianHao) = 0
MsgBox "“" & MingCheng(BianHao) & "”已全部出库。"
ChuKu = True
  Case Else
KuCun(BianHao) = ShengYu
ChuKu = True
  End Select
End Function

Public Function PanDian() As String
' 盘点：列出全部货品（库存为零的也列出）
Dim i As Long, JieGuo As String
For i = 1 To ShuLiang
JieGuo = JieGuo & MingCheng(i) & "：" & KuCun(i) & vbCrLf ' 全角冒号在字符串里，保持不变
Next i
#If TIAOSHI Then
Debug.Print "盘点完成，共"; ShuLiang; "种"
#End If
PanDian = JieGuo
End Function
