Public Function Tabs(ByVal a As Long) As Long
	  x = 1
  	If a Then
	 	
	  ' note
   
    y = 2	
  z = 3 	  
	End If	
' first comment
Tabs = a _
  + 1 _
  + 2
' a comment _
  that goes on _
"and on"
Rem note
x = 1: Rem note
Dim Item As Long: totalrem = 1
lorem = 2
REM caps _
  continued
Call Bar(1, _
2) ' done
End Function
