VERSION 5.00
Object = "{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0"; "MSCOMCTL.OCX"
Begin VB.Form frmMain 
   Caption         =   "Main"
   Begin VB.CommandButton cmdOK 
      Caption         =   "OK"
   End
End
Attribute VB_Name = "frmMain"
Attribute VB_GlobalNameSpace = False
Option Explicit
Private WithEvents m_Conn As Connection
Attribute m_Conn.VB_VarHelpID = -1
Public Event Changed(ByVal a As Long, _
  ByVal b As Long)
Attribute Changed.VB_Description = "Raised"

Private Sub cmdOK_Click()
  Unload Me
End Sub

Public Property Get Value() As Long
Attribute Value.VB_UserMemId = 0
  Value = 1
End Property

Public Function Total() As Long
Attribute Total.VB_Description = "Sum"
Total = 2
End Function
