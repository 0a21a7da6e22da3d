VERSION 5.00
Begin VB.Form frmRuku 
   Caption         =   "入库登记"
   ClientHeight    =   2400
   ClientLeft      =   60
   ClientTop       =   345
   ClientWidth     =   4680
   Begin VB.CommandButton cmdQueDing 
      Caption         =   "确定(&O)"
      Height          =   375
      Left            =   3240
      TabIndex        =   1
      Top             =   1800
      Width           =   1215
   End
   Begin VB.TextBox txtShu 
      Height          =   315
      Left            =   1200
      TabIndex        =   0
      Top             =   240
      Width           =   1455
   End
End
Attribute VB_Name = "frmRuku"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

Private Sub cmdQueDing_Click()
' 按“确定”后登记入库
Dim Shu As Long
If Not IsNumeric(txtShu.Text) Then
MsgBox "请输入数字。"
txtShu.SetFocus
Exit Sub
End If
Shu = CLng(txtShu.Text)
  If RuKu(1, Shu) Then
    MsgBox "已入库" & Shu & "件；当前库存：" & KuCun(1)
  End If
End Sub

Private Sub Form_Load()
ShuLiang = 1
MingCheng(1) = "螺丝（M6）"
End Sub
