#tag Window
Begin Window MainWindow
   BackColor       =   &cFFFFFF00
   Title           =   "Orders"
   Begin OrderList OrdersList
      ColumnCount     =   3
      HasHeading      =   True
      Index           =   -2147483648
   End
   Begin PushButton SaveButton
      Caption         =   "Save"
      Default         =   True
   End
   Begin Timer RefreshTimer
      Mode            =   2
      Period          =   1000
   End
End
#tag EndWindow

#tag WindowCode
	#tag Event
		Sub Open()
		  Dim rs As RecordSet = OrdersDB.Load
		  While Not rs.EOF
		    OrdersList.AddRow rs.Field("name").StringValue
		    rs.MoveNext
		  Wend
		End Sub
	#tag EndEvent

	#tag MenuHandler
		Function FileSave() As Boolean Handles FileSave.Action
		  SaveButton.Push
		  Return True
		End Function
	#tag EndMenuHandler


#tag EndWindowCode

#tag Events SaveButton
	#tag Event
		Sub Action()
		  Dim n As Integer = InStr(Title, "l'ordre")
		  MainWindow.OrdersList.Cell(0, 0) = "it's " + Str(n) ' InStr(old)
		End Sub
	#tag EndEvent
#tag EndEvents
#tag Events RefreshTimer
	#tag Event
		Sub Action()
		  OrdersList.Refresh
		End Sub
	#tag EndEvent
#tag EndEvents
#tag Events OrdersList
	#tag Event
		Sub CellClick(row As Integer)
		  System.DebugLog("clicked")
		End Sub
	#tag EndEvent
	#tag Event
		Sub Change()
		  System.DebugLog("changed")
		End Sub
	#tag EndEvent
#tag EndEvents
