#tag Module
Protected Module Text
	#tag Method, Flags = &h0
		Function Clean(s As String) As String
		  Var parts() As String = s.ToArray(",")
		  Return String.FromArray(parts, " ").Trim.Lowercase
		End Function
	#tag EndMethod
End Module
#tag EndModule
