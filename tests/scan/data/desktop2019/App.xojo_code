#tag Class
Protected Class App
Inherits Application
	#tag Event
		Sub Open()
		  MsgBox "Welcome"
		End Sub
	#tag EndEvent


	#tag ViewBehavior
	#tag EndViewBehavior
End Class
#tag EndClass
