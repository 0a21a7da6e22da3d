VERSION 5.00
Begin VB.UserControl ctlGauge 
   ClientHeight    =   3600
End
Attribute VB_Name = "ctlGauge"
Attribute VB_Exposed = False
Public Property Let Level(ByVal v As Long)
Attribute Level.VB_ProcData.VB_Invoke_PropertyPut = ";Behavior"
  m = v
End Property
