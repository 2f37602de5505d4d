#tag Class
Protected Class OrderList
Inherits ListBox
	#tag Event
		Sub Open()
		  Me.HasHeading = True
		End Sub
	#tag EndEvent

	#tag Method, Flags = &h0
		Sub ShowOrder(row As Integer, o As String)
		  Me.Cell(row, 0) = o
		  Cell(row, 1) = o.Mid(2, 3)
		  // Cell(row, 2) = "commented out"
		End Sub
	#tag EndMethod

	#tag Hook, Flags = &h0
		Event CellClick(row As Integer)
	#tag EndHook

	#tag Property, Flags = &h0
		LastSet As RecordSet
	#tag EndProperty

	#tag ViewBehavior
		#tag ViewProperty
			Name="Name"
			Visible=true
			Group="ID"
			Type="String"
		#tag EndViewProperty
	#tag EndViewBehavior
End Class
#tag EndClass
