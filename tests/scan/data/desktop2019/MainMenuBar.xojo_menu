#tag Menu
Begin Menu MainMenuBar
   Begin MenuItem FileMenu
      SpecialMenu = 0
      Text = "&File"
      Begin MenuItem FileSave
         Text = "Save"
      End
   End
End
#tag EndMenu
