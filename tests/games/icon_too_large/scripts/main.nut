// icon.bmp is a readable image far too large for an icon: it is skipped and the game runs.
::System.message("main.nut ran");
::System.request_quit();
return null;
