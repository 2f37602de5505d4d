#tag Window
Begin Window Window1
   Begin TextField NameField
      Text = "x"
   End
End
#tag EndWindow

#tag WindowCode
#tag EndWindowCode

#tag Events NameField
	#tag Event
		Sub TextChange()
		  Dim n As Integer = Len(Me.Text)
		End Sub
	#tag EndEvent
#tag EndEvents
