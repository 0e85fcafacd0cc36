varying vec2 t; uniform sampler2D color;
void main() { gl_FragColor = texture2D(color, t); }
