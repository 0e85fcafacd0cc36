::System.message("CHECK FAILED: the game ran without a window");
return null;
