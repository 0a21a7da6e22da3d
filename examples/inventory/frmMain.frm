VERSION 5.00
Begin VB.Form frmMain 
   BorderStyle     =   1  'Fixed Single
   Caption         =   "Inventory"
   ClientHeight    =   4215
   ClientLeft      =   45
   ClientTop       =   330
   ClientWidth     =   6135
   LinkTopic       =   "Form1"
   MaxButton       =   0   'False
   ScaleHeight     =   4215
   ScaleWidth      =   6135
   StartUpPosition =   2  'CenterScreen
   Begin VB.CommandButton cmdReport 
      Caption         =   "&Report"
      Height          =   375
      Left            =   4800
      TabIndex        =   2
      Top             =   3720
      Width           =   1215
   End
   Begin VB.TextBox txtCode 
      Height          =   315
      Left            =   120
      TabIndex        =   0
      Top             =   120
      Width           =   1575
   End
   Begin VB.ListBox lstStock 
      BeginProperty Font 
         Name            =   "Courier New"
         Size            =   9
         Charset         =   0
         Weight          =   400
         Underline       =   0   'False
         Italic          =   0   'False
         Strikethrough   =   0   'False
      EndProperty
      Height          =   3120
      Left            =   120
      TabIndex        =   1
      Top             =   480
      Width           =   5895
   End
End
Attribute VB_Name = "frmMain"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

Private WithEvents m_Selected As clsStockItem
Attribute m_Selected.VB_VarHelpID = -1

Private Sub Form_Load()
RefreshList
End Sub

Private Sub RefreshList()
Dim Item As clsStockItem
lstStock.Clear
    For Each Item In Stock
	lstStock.AddItem Item.Describe(False)
  Next Item
End Sub

Private Sub txtCode_KeyPress(KeyAscii As Integer)
If KeyAscii = vbKeyReturn Then
KeyAscii = 0
Set m_Selected = FindItem(txtCode.Text)
If m_Selected Is Nothing Then
Beep
Else
    m_Selected.Quantity = m_Selected.Quantity - 1   ' one sold
End If
End If
End Sub

Private Sub m_Selected_QuantityChanged(ByVal OldQuantity As Long, ByVal NewQuantity As Long)
RefreshList
If StockLevel(NewQuantity) = "low" Then _
MsgBox m_Selected.ItemName & " is running low.", vbInformation
End Sub

Private Sub cmdReport_Click()
  MsgBox StockReport(OnlyLow:=False), , "Stock"
End Sub
