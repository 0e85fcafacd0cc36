#include "render/ui_batch.hpp"

#include <GL/glew.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/quad_batch.hpp"
#include "render/renderer.hpp"

namespace tarn {

namespace {

constexpr RenderState kBlendState = {GL_ONE, GL_ONE_MINUS_SRC_ALPHA, 0};

// Position and texture coordinates, as the fixed-function pipeline reads them.
const VertexLayout& ui_vertex_layout() {
    static_assert(offsetof(UIVertex, u) == 8);
    static const VertexLayout layout = {
        {{{element_code::kPosition2f, 0, 0}, {element_code::kTexCoord2f, 0, 8}}}, 2};
    return layout;
}

}  // namespace

VertexStreams& UIBatch::streams() {
    return renderer_.streams();
}

bool UIBatch::create() {
    release();
    GLuint name = 0;
    glGenBuffers(1, &name);
    if (name == 0)
        return false;
    state_ = renderer_.register_state(kBlendState);
    vertices_.allocate_memory(kMaxVertices * sizeof(UIVertex));
    std::vector<std::uint16_t> indices(kMaxIndices);
    write_quad_indices(indices);
    const auto bytes = static_cast<GLsizeiptr>(indices.size() * sizeof(std::uint16_t));
    streams().bind_element_buffer(name);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, bytes, nullptr, GL_STATIC_DRAW);
    glBufferSubData(GL_ELEMENT_ARRAY_BUFFER, 0, bytes, indices.data());
    index_buffer_ = name;
    generation_ = renderer_.context_generation();
    // The streams are fit for a fixed shader, so this cannot fail.
    build_fixed_shader({{"gl_Vertex", element_code::kPosition2f},
                        {"gl_MultiTexCoord0", element_code::kTexCoord2f}},
                       program_);
    return true;
}

bool UIBatch::current() const {
    return created() && generation_ == renderer_.context_generation();
}

bool UIBatch::ensure_created() {
    if (current())
        return true;
    forget();
    return create();
}

void UIBatch::forget() {
    index_buffer_ = 0;
    vertices_.release(streams());  // plain memory: no GL call
}

void UIBatch::release() {
    if (!created())
        return;
    if (!current()) {
        forget();
        return;
    }
    if (streams().current_shader() == &program_)
        renderer_.bind_shader(nullptr);
    if (streams().element_buffer() == index_buffer_)
        streams().bind_element_buffer(0);
    glDeleteBuffers(1, &index_buffer_);
    index_buffer_ = 0;
    vertices_.release(streams());
}

void UIBatch::load_transform(const Matrix4& world) const {
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(world.data());
}

void UIBatch::apply_color() const {
    glColor4f(color_[0], color_[1], color_[2], color_[3]);
}

void UIBatch::draw_quads(int quads, const GpuTexture* texture) {
    renderer_.bind_shader(&program_);
    renderer_.textures().bind(0, texture);
    renderer_.bind_streams(ui_vertex_layout(), 0, vertices_.base(), sizeof(UIVertex));
    streams().bind_element_buffer(index_buffer_);
    glDrawElements(GL_TRIANGLES, quads * 6, GL_UNSIGNED_SHORT, nullptr);
    renderer_.count_triangles(2 * quads);
}

}  // namespace tarn
