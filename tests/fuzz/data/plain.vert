attribute vec2 uv; varying vec2 t;
void main() { t = uv; gl_Position = gl_Vertex; }
