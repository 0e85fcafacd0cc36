// Values shared by every script of the game.
const FPS_LOG_INTERVAL = 1.0;
