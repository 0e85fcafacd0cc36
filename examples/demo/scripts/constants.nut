// Values shared by every script of the demo. Constants are compiled into the scripts that use
// them, so this file runs first (the engine's boot script loads it before main.nut).
const CANVAS_WIDTH = 640;
const CANVAS_HEIGHT = 480;

// Scene layers: the background dust, the playing field, then text in front of everything.
const LAYER_DUST = -2;
const LAYER_FIELD = 0;
const LAYER_TEXT = 4;

// Collision bits: what an object is (its bits) and what it reacts to (its mask).
const HIT_BALL = 1;
const HIT_PADDLE = 2;
const HIT_BRICK = 4;

// Sound categories; their volumes are the settings "sound_volume_0" and "sound_volume_1".
const SOUND_EFFECTS = 0;
const SOUND_MUSIC = 1;

// Text colours, used in text as "^1" .. "^4" ("^0" goes back to white).
const COLOR_WHITE = 0;
const COLOR_GOLD = 1;
const COLOR_SKY = 2;
const COLOR_RED = 3;
const COLOR_GREY = 4;

const PADDLE_Y = 440;
const PADDLE_SPEED = 420;  // pixels per second with keys or joystick
const BALL_SPEED = 300;
const LIVES = 3;
const BRICK_COLORS = 6;  // sprites brick0 .. brick5; the steel brick comes after them
