// No game object: no callbacks run, and the game ends when its window is closed.
::System.message("main.nut ran");
return null;
