Attribute VB_Name = "modReports"
Option Explicit
' Text reports of the stock list.

Private Const REPORT_WIDTH As Long = 60

Public Function StockReport(Optional ByVal OnlyLow As Boolean = False) As String
Dim Item As clsStockItem, Lines As String, Total As Currency
Dim Count As Long
Lines = String$(REPORT_WIDTH, "=") & vbCrLf
For Each Item In Stock
If OnlyLow And StockLevel(Item.Quantity) <> "low" Then GoTo NextItem
Lines = Lines & Item.Describe & vbCrLf
Total = Total + Item.Value
  Count = Count + 1
NextItem:
Next Item
    Lines = Lines & String$(REPORT_WIDTH, "-") & vbCrLf & _
"Items: " & Count & _
"   Value: " & Format$(Total, "#,##0.00") & vbCrLf
StockReport = Lines
End Function

Public Sub SaveReport(ByVal Path As String)
Dim FileNumber As Integer
  FileNumber = FreeFile
On Error GoTo CloseFile
Open Path For Output As #FileNumber
Print #FileNumber, StockReport();
CloseFile:
Close #FileNumber
If Err.Number <> 0 Then
MsgBox "The report could not be saved: " & Err.Description, _
	vbCritical, "Inventory"
End If
End Sub

Public Function CountBelow(ByVal Limit As Long) As Long
Dim Item As clsStockItem
Do
	For Each Item In Stock
		If Item.Quantity < Limit Then CountBelow = CountBelow + 1
	Next
Loop Until True
End Function
