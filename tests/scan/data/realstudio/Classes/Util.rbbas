#tag Module
Protected Module Util
	#tag Method, Flags = &h0
		Function Version() As String
		  Return RBVersionString + " " + Str(RBVersion)
		End Function
	#tag EndMethod
	#tag Method, Flags = &h0
		Function Count(s As String) As Integer
		  Dim db As New REALSQLDatabase
		  Return CountFields(s, ",")
		End Function
	#tag EndMethod
End Module
#tag EndModule
