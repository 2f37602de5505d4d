#tag Module
Protected Module OrdersDB
	#tag Method, Flags = &h0
		Function Load() As RecordSet
		  Dim sql As String = "SELECT * FROM orders WHERE note <> 'Mid(x)'"
		  Dim var As RecordSet = DB.SQLSelect(sql)
		  If var.RecordCount = 0 Then Return Nil
		  Dim total As Integer = UBound(Names) + _
		    Len(sql)
		  #If XojoVersion < 2019.02 Then
		    Dim pos As Integer = InStr(sql, "FROM")
		  #Else
		    Dim pos As Integer = sql.IndexOf("FROM")
		  #EndIf
		  Return var
		End Function
	#tag EndMethod

	#tag Method, Flags = &h0
		Function NthField(s As String, sep As String, i As Integer) As String
		  Return s.NthField(sep, i)
		End Function
	#tag EndMethod

	#tag Method, Flags = &h0
		Sub Split()
		  Dim first As String = NthField("a,b", ",", 1)
		  Rem Dim d As Date
		  x.MoveNext
		End Sub
	#tag EndMethod

	#tag Property, Flags = &h0
		DB As SQLiteDatabase
	#tag EndProperty

	#tag Property, Flags = &h0
		Names() As String
	#tag EndProperty
End Module
#tag EndModule
