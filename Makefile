# Everyday commands. Each one installs what is missing first, so a fresh Debian machine needs nothing else.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 30
PREFIX ?= /usr/local

.PHONY: all deps configure build test check-layers demo scenes bench soak sanitize fuzz clean \
	format install package api-reference

all: build

deps:
	@tools/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) > /dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	@tools/with-display ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

check-layers:
	@tools/check-layers

# Installs tarn and its tools under PREFIX (staged under DESTDIR when it is set).
install: build
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# The Debian package, in $(BUILD_DIR).
package: build
	@cd $(BUILD_DIR) && cpack -G DEB

# Refreshes docs/script-api.md from the binding tables.
api-reference: configure
	@cmake --build $(BUILD_DIR) --target api-reference

# The demo game; on a machine without a display its attract mode plays for the screenshot.
demo: build
	@tools/run-demo $(BUILD_DIR)/tarn $(BUILD_DIR)/examples/demo $(BUILD_DIR)/tools/tarn_screenshot \
		$(BUILD_DIR)/demo-screenshot.png $(BUILD_DIR)/examples/demo-attract

# The scene sample: balls that bounce off each other and throw sparks.
scenes: build
	@tools/run-demo $(BUILD_DIR)/tarn $(BUILD_DIR)/examples/scenes $(BUILD_DIR)/tools/tarn_screenshot \
		$(BUILD_DIR)/scenes-screenshot.png

# The scene benchmark uses the scene sample's sprite sheet, which the build makes; llvmpipe draws
# 50,000 sprites in about a second, so it measures fewer frames.
SCENE_SPRITES = $(BUILD_DIR)/examples/scenes/data/sprites.png
bench: build
	@vblank_mode=0 tools/with-display $(BUILD_DIR)/bench/bench_engine_timing $(BUILD_DIR)/tarn
	@tools/with-display $(BUILD_DIR)/bench/bench_sprite_quads
	@GALLIUM_NOOP=1 tools/with-display $(BUILD_DIR)/bench/bench_sprite_draw
	@tools/with-display $(BUILD_DIR)/bench/bench_sprite_draw
	@GALLIUM_NOOP=1 tools/with-display $(BUILD_DIR)/bench/bench_text_draw
	@GALLIUM_NOOP=1 tools/with-display $(BUILD_DIR)/bench/bench_scene_frame
	@GALLIUM_NOOP=1 tools/with-display $(BUILD_DIR)/bench/bench_ui
	@tools/with-display $(BUILD_DIR)/bench/bench_text_draw
	@GALLIUM_NOOP=1 tools/with-display bench/run-scene-bench $(BUILD_DIR)/tarn $(SCENE_SPRITES)
	@BENCH_FRAMES=30 tools/with-display bench/run-scene-bench $(BUILD_DIR)/tarn $(SCENE_SPRITES)
	@$(BUILD_DIR)/bench/bench_text_layout
	@$(BUILD_DIR)/bench/bench_fontgen
	@$(BUILD_DIR)/bench/bench_audio_mixer

SOAK_SECONDS ?= 180
soak: build
	@tools/with-display bench/run-soak $(BUILD_DIR)/tarn $(SOAK_SECONDS)

sanitize: deps
	@cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTARN_SANITIZE=ON > /dev/null
	@cmake --build build-sanitize -j $(JOBS)
	@# llvmpipe renders without threads here: LeakSanitizer's end-of-process scan can crash on
	@# driver threads that are still winding down.
	@LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp LP_NUM_THREADS=0 \
		tools/with-display ctest --test-dir build-sanitize --output-on-failure -j $(JOBS)

fuzz:
	@tools/install-deps fuzz
	@CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARN_FUZZ=ON > /dev/null
	@cmake --build build-fuzz -j $(JOBS) --target fuzz_targets
	@FUZZ_SECONDS=$(FUZZ_SECONDS) tools/with-display tools/run-fuzz build-fuzz

clean:
	rm -rf $(BUILD_DIR) build-sanitize build-fuzz

format:
	@git ls-files '*.cpp' '*.hpp' | xargs clang-format -i
