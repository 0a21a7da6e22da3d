Attribute VB_Name = "modMain"
Option Explicit
' Starts the program and keeps the stock list that every form shows.

#Const DEBUG_BUILD = 1

Public Stock As Collection

#If Win64 Then
Private Declare PtrSafe Function GetTickCount Lib "kernel32" () As Long
#Else
Private Declare Function GetTickCount Lib "kernel32" () As Long
#End If

Public Sub Main()
Set Stock = New Collection
  LoadSampleStock
	#If DEBUG_BUILD Then
	Debug.Print "Loaded " & Stock.Count & " items at " & GetTickCount
	#End If
frmMain.Show
End Sub

Private Sub LoadSampleStock()
AddItem "BOLT-M6", "Bolt M6 x 30", 250, 0.12
AddItem "NUT-M6", "Nut M6", 400, 0.05
    AddItem "WASH-6", "Washer 6 mm", 0, 0.02    ' out of stock on purpose
AddItem "HING-3", "Hinge, 3 inch, ""brass""", 12, 2.4
End Sub

Public Function AddItem(ByVal Code As String, ByVal ItemName As String, _
    ByVal Quantity As Long, ByVal UnitPrice As Currency) As clsStockItem
Dim Item As clsStockItem
On Error GoTo Failed
Set Item = New clsStockItem
With Item
.Code = Code
.ItemName = ItemName
 .Quantity = Quantity
 .UnitPrice = UnitPrice
End With
Stock.Add Item, Item.Code
Set AddItem = Item
Exit Function
Failed:
  MsgBox "Cannot add " & Code & ": " & Err.Description, vbExclamation
Set AddItem = Nothing
End Function

Public Function FindItem(ByVal Code As String) As clsStockItem
    On Error Resume Next
	Set FindItem = Stock(UCase$(Code))
    On Error GoTo 0
End Function

Public Function StockLevel(ByVal Quantity As Long) As String
Select Case Quantity
Case Is <= 0
StockLevel = "empty"
  Case 1 To 20
    StockLevel = "low"
Case 21 To 200: StockLevel = "normal"
	Case Else
	StockLevel = "high"
End Select
End Function
