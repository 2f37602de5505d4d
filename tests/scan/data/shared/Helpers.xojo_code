#tag Module
Protected Module Helpers
	#tag Method, Flags = &h0
		Function Stamp() As String
		  Dim d As New Date
		  Return d.SQLDateTime
		End Function
	#tag EndMethod
End Module
#tag EndModule
