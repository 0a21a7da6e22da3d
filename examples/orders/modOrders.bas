Attribute VB_Name = "modOrders"
Option Explicit
' Order totals, numbered for Erl in the error handlers.

Public Sub Main()
10 Dim total As Currency
20 total = OrderTotal(3, 19.9)
30 If total > 50 Then
40 Debug.Print "Free delivery"
50 Else
60 Debug.Print "Delivery: 4.90"
70 End If
End Sub

Public Function OrderTotal(ByVal quantity As Long, ByVal price As Currency) As Currency
10 On Error GoTo Failed
20 Select Case quantity
30 Case Is <= 0
40 OrderTotal = 0
50 Case Else
60 OrderTotal = quantity * price
70 End Select
80 Exit Function
Failed:
90 Debug.Print "Error " & Err.Number & " at line " & Erl
End Function

Private Function Discount(ByVal total As Currency) As Currency
    If total > 100 Then
        Discount = total * 0.05
    End If
End Function
