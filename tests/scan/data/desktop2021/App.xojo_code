#tag Class
Protected Class App
Inherits DesktopApplication
	#tag Event
		Sub Opening()
		  MessageBox("Ready")
		End Sub
	#tag EndEvent
End Class
#tag EndClass
