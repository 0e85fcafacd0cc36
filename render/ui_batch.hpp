#pragma once

#include <GL/glew.h>

#include <array>
#include <cstdint>

#include "render/matrix4.hpp"
#include "render/shader_inputs.hpp"
#include "render/vertex_buffer.hpp"

namespace tarn {

class GpuTexture;
class Renderer;

// A vertex of UI drawing: position and texture coordinates. The colour is one for the whole draw.
struct UIVertex {
    float x, y;
    float u, v;
};
static_assert(sizeof(UIVertex) == 16);

// What the UI draws its text and sprites with: textured quads in one colour, written into vertex
// memory and drawn, up to 1024 per call, through an index buffer made once. A UI creates it with
// itself and releases it when it goes; both need the GL context. A batch made under a GL context
// that has since been replaced (a video-mode change) is stale: it makes itself again on its next
// ensure_created, without deleting the dead context's objects.
class UIBatch {
public:
    static constexpr int kMaxQuads = 1024;
    static constexpr int kMaxVertices = 4 * kMaxQuads;
    static constexpr int kMaxIndices = 6 * kMaxQuads;

    explicit UIBatch(Renderer& renderer) : renderer_(renderer) {}
    UIBatch(const UIBatch&) = delete;
    UIBatch& operator=(const UIBatch&) = delete;
    ~UIBatch() { release(); }

    // Registers the blend state, makes the vertex memory, the index buffer and the program
    // binding. False when GL could not make the index buffer.
    bool create();
    // Drops what create made; the renderer's caches stop pointing at it first.
    void release();
    bool created() const { return index_buffer_ != 0; }
    // Whether it was made under the renderer's current GL context.
    bool current() const;
    // Creates the batch when it is missing or stale; false when GL could not.
    bool ensure_created();

    // Loads a widget's world matrix as GL's model-view matrix for the draws that follow.
    void load_transform(const Matrix4& world) const;

    // The registered render state (premultiplied alpha, no depth, no culling), for the UI to
    // apply before it draws.
    int render_state() const { return state_; }
    // Premultiplied colour of the draws that follow; every quad takes it.
    void set_color(const std::array<float, 4>& color) { color_ = color; }
    const std::array<float, 4>& color() const { return color_; }
    // Hands the colour to GL.
    void apply_color() const;

    // Where the next draw's vertices go: quad k takes vertices 4k..4k+3, top-right, top-left,
    // bottom-right, bottom-left.
    UIVertex* map_vertices() { return static_cast<UIVertex*>(vertices_.map(streams())); }
    void unmap_vertices() { vertices_.unmap(streams()); }
    // Draws the first quads (at most kMaxQuads) written on texture (null: none) and counts their
    // triangles.
    void draw_quads(int quads, const GpuTexture* texture);

    GLuint index_buffer() const { return index_buffer_; }
    const ShaderInputs& program() const { return program_; }

private:
    VertexStreams& streams();

    // Drops the objects of a dead context without GL calls.
    void forget();

    Renderer& renderer_;
    std::uint32_t generation_ = 0;
    int state_ = 0;
    std::array<float, 4> color_ = {1.0f, 1.0f, 1.0f, 1.0f};
    VertexBuffer vertices_;
    GLuint index_buffer_ = 0;
    ShaderInputs program_;
};

}  // namespace tarn
