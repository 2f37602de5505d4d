#tag Class
Protected Class App
Inherits Application
#tag EndClass
