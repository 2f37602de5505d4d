#tag DesktopWindow
Begin DesktopWindow MainWindow
   Title           =   "Orders"
   Begin DesktopListBox OrdersList
      HasHeader       =   True
   End
   Begin DesktopButton SaveButton
      Caption         =   "Save"
   End
   Begin Timer RefreshTimer
      Period          =   1000
      RunMode         =   2
   End
End
#tag EndDesktopWindow

#tag WindowCode
	#tag Event
		Sub Opening()
		  Var rows As RowSet = App.DB.SelectSQL("SELECT * FROM orders")
		  For Each row As DatabaseRow In rows
		    OrdersList.AddRow(row.Column("name").StringValue)
		  Next
		  OrdersList.CellTextAt(0, 0) = "it's fine"
		End Sub
	#tag EndEvent

	#tag MenuHandler
		Function EditSelectAll() As Boolean Handles EditSelectAll.Action
		  OrdersList.SelectedRowIndex = 0
		  Return True
		End Function
	#tag EndMenuHandler
#tag EndWindowCode

#tag Events SaveButton
	#tag Event
		Sub Pressed()
		  Var t As String = "Mid(" + Title.Middle(1, 2) + ")"
		  #If XojoVersion < 2019.02 Then
		    t = Mid(t, 2)
		  #EndIf
		End Sub
	#tag EndEvent
#tag EndEvents
#tag Events RefreshTimer
	#tag Event
		Sub Action()
		  OrdersList.RemoveAllRows
		End Sub
	#tag EndEvent
#tag EndEvents
