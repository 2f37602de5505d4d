#tag Class
Protected Class Evil
Inherits ListBox
	#tag Method, Flags = &h0
		Sub X<img src=x onerror=alert(1)>()
		  Me.Cell(0, 0) = "</td><script src=""https://example.com/x.js""></script>" + Mid("<style>", 1)
		End Sub
	#tag EndMethod
End Class
#tag EndClass
