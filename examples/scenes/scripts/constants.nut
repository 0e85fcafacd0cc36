// Values shared by every script of the sample.
const CANVAS_WIDTH = 640;
const CANVAS_HEIGHT = 480;
const BALL_COUNT = 8;
