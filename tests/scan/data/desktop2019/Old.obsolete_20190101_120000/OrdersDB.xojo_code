#tag Module
Protected Module OrdersDB
	#tag Method, Flags = &h0
		Sub Old()
		  Dim i As Integer = InStr("abc", "b")
		End Sub
	#tag EndMethod
End Module
#tag EndModule
