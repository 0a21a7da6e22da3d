Attribute VB_Name = "Latin"
Option Explicit
' café, naïve 
Public Sub Greet()
  MsgBox "Grüße “quoted”"
End Sub