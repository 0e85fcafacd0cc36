#include "render/vertex_streams.hpp"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <array>

#include "gl_window.hpp"
#include "render/vertex_buffer.hpp"

namespace tarn {
namespace {

GLuint compile(GLenum kind, const char* source) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    EXPECT_EQ(ok, GL_TRUE);
    return shader;
}

// A GLSL program reading gl_Vertex and a texture coordinate bound to attribute 1.
GLuint uv_program() {
    const GLuint program = glCreateProgram();
    const GLuint vs = compile(GL_VERTEX_SHADER,
                              "attribute vec2 uv; varying vec2 t;"
                              "void main() { t = uv; gl_Position = gl_Vertex; }");
    const GLuint fs = compile(GL_FRAGMENT_SHADER,
                              "varying vec2 t; void main() { gl_FragColor = vec4(t, 0.0, 1.0); }");
    glAttachShader(program, fs);
    glAttachShader(program, vs);
    glBindAttribLocation(program, 1, "uv");
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    return program;
}

class RendererVertexStreams : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(test::GlWindow::get(), nullptr) << "needs an X display with OpenGL";
        for (GLenum array :
             {GL_VERTEX_ARRAY, GL_NORMAL_ARRAY, GL_COLOR_ARRAY, GL_TEXTURE_COORD_ARRAY})
            glDisableClientState(array);
        glUseProgram(0);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        fixed_.kind = ShaderInputs::kFixed;
        fixed_.streams[0] = {"gl_Vertex", element_code::kPosition2f};
        fixed_.streams[1] = {"gl_Color", element_code::kColor4ub};
        fixed_.streams[2] = {"gl_MultiTexCoord0", element_code::kTexCoord2f};
        fixed_.stream_count = 3;
        custom_.kind = ShaderInputs::kCustom;
        custom_.program = uv_program();
        custom_.streams[0] = {"gl_Vertex", element_code::kPosition2f};
        custom_.streams[1] = {"uv", element_code::kTexCoord2f};
        custom_.stream_count = 2;
    }
    void TearDown() override {
        streams_.bind_shader(nullptr);
        streams_.disable_all_arrays();
        streams_.unbind_buffers();
        glDeleteProgram(custom_.program);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    static GLint attrib_enabled(GLuint index) {
        GLint enabled = 0;
        glGetVertexAttribiv(index, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
        return enabled;
    }
    static GLint integer(GLenum what) {
        GLint value = 0;
        glGetIntegerv(what, &value);
        return value;
    }
    static const void* pointer(GLenum what) {
        void* value = nullptr;
        glGetPointerv(what, &value);
        return value;
    }

    VertexStreams streams_;
    ShaderInputs fixed_, custom_;
    std::array<BatchVertex, 4> vertices_{};
};

TEST_F(RendererVertexStreams, SwitchingBetweenFixedAndCustomShadersSwapsTheirArrays) {
    streams_.bind_shader(&fixed_);
    streams_.bind_streams(batch_vertex_layout(), 0, vertices_.data(), sizeof(BatchVertex));
    EXPECT_TRUE(glIsEnabled(GL_COLOR_ARRAY));
    EXPECT_EQ(pointer(GL_TEXTURE_COORD_ARRAY_POINTER),
              reinterpret_cast<const char*>(vertices_.data()) + 12);

    streams_.bind_shader(&custom_);
    EXPECT_EQ(integer(GL_CURRENT_PROGRAM), static_cast<GLint>(custom_.program));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY)) << "a custom program drops the fixed arrays";
    streams_.bind_streams(batch_vertex_layout(), 0, vertices_.data(), sizeof(BatchVertex));
    EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    EXPECT_EQ(attrib_enabled(1), GL_TRUE) << "the second stream feeds generic array 1";
    EXPECT_EQ(attrib_enabled(2), GL_FALSE);
    void* uv = nullptr;
    glGetVertexAttribPointerv(1, GL_VERTEX_ATTRIB_ARRAY_POINTER, &uv);
    EXPECT_EQ(uv, reinterpret_cast<const char*>(vertices_.data()) + 12);

    streams_.bind_shader(&fixed_);
    EXPECT_EQ(integer(GL_CURRENT_PROGRAM), 0);
    EXPECT_EQ(attrib_enabled(1), GL_FALSE);
}

TEST_F(RendererVertexStreams, UnchangedStreamsAreNotPointedAgain) {
    streams_.bind_shader(&fixed_);
    streams_.bind_streams(batch_vertex_layout(), 0, vertices_.data(), sizeof(BatchVertex));
    // Moved behind the cache's back: the same binding again must issue no call.
    static const float elsewhere[8] = {};
    glVertexPointer(2, GL_FLOAT, 8, elsewhere);
    streams_.bind_streams(batch_vertex_layout(), 0, vertices_.data(), sizeof(BatchVertex));
    EXPECT_EQ(pointer(GL_VERTEX_ARRAY_POINTER), elsewhere);
    streams_.bind_streams(batch_vertex_layout(), 0, vertices_.data() + 1, sizeof(BatchVertex));
    EXPECT_EQ(pointer(GL_VERTEX_ARRAY_POINTER), vertices_.data() + 1);
    EXPECT_EQ(integer(GL_VERTEX_ARRAY_STRIDE), 20);
}

TEST_F(RendererVertexStreams, ReleasingABufferObjectDetachesTheStreamsReadingIt) {
    VertexBuffer buffer;
    ASSERT_TRUE(
        buffer.create_buffer(VertexBuffer::kDynamicBuffer, 4 * sizeof(BatchVertex), streams_));
    auto* mapped = static_cast<BatchVertex*>(buffer.map(streams_));
    ASSERT_NE(mapped, nullptr);
    mapped[0] = {1.0f, 2.0f, PackedColor{}, 0.0f, 0.0f};
    buffer.unmap(streams_);

    streams_.bind_shader(&fixed_);
    streams_.bind_streams(batch_vertex_layout(), buffer.gl_name(), buffer.base(),
                          sizeof(BatchVertex));
    EXPECT_EQ(integer(GL_ARRAY_BUFFER_BINDING), static_cast<GLint>(buffer.gl_name()));
    EXPECT_EQ(integer(GL_VERTEX_ARRAY_BUFFER_BINDING), static_cast<GLint>(buffer.gl_name()));
    const GLuint name = buffer.gl_name();

    buffer.release(streams_);
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(streams_.fixed_enabled(Semantic::kColor));
    EXPECT_EQ(streams_.array_buffer(), 0u);
    EXPECT_EQ(integer(GL_ARRAY_BUFFER_BINDING), 0);
    EXPECT_FALSE(glIsBuffer(name));
    EXPECT_EQ(buffer.kind(), VertexBuffer::kMemory);
    EXPECT_EQ(buffer.size(), 0u);
}

}  // namespace
}  // namespace tarn
