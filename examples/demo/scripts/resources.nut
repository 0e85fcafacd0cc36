// Every resource of the demo is a named entry of a definition table. Nothing loads here: the
// engine loads an entry the first time something uses its name, and shares it from then on.
// The atlas, the sounds and the fonts are made by the build (tarn_demo_art, tarn_demo_sounds,
// tarn_fontgen) into data/.

// The atlas is cut into a grid of 32 x 16 frames, each with its pivot in the middle; sprites
// pick a frame by index. Larger pieces are cut out by rectangle instead.
g_texture_defs["atlas.png"] <- { mipmaps = false, frame_size = [32, 16], frame_pivot = [16, 8] };

for (local i = 0; i < BRICK_COLORS; ++i)
    g_sprite_defs["brick" + i] <- { texture = "atlas.png", frame = i };
g_sprite_defs.steel <- { texture = "atlas.png", frame = 6 };
g_sprite_defs.steel_cracked <- { texture = "atlas.png", frame = 7 };

// An animation of texture frames: the ball's highlight goes round in 0.4 s, forever.
g_sprite_defs.ball <- { texture = "atlas.png", frames = [8, 9, 10, 11], duration = 0.4, loop = true };
g_sprite_defs.spark <- { texture = "atlas.png", frame = 12 };
g_sprite_defs.dust <- { texture = "atlas.png", frame = 13 };

// An animation of other sprites: the paddle shows its plain look for 0.8 s, then shimmers for
// 0.1 to 0.3 s (a random extra each time round).
g_sprite_defs.paddle_plain <- { texture = "atlas.png", rect = [0, 32, 96, 16], pivot = "center" };
g_sprite_defs.paddle_shine <- { texture = "atlas.png", rect = [96, 32, 96, 16], pivot = "center" };
g_sprite_defs.paddle <- { frames = [["paddle_plain", 0.8], ["paddle_shine", 0.1, 0.3]], loop = true };

g_sprite_defs.button <- { texture = "atlas.png", rect = [0, 48, 128, 32], pivot = "center" };
g_sprite_defs.button_lit <- { texture = "atlas.png", rect = [128, 48, 128, 32], pivot = "center" };
g_sprite_defs.bar <- { texture = "atlas.png", rect = [0, 96, 128, 8], pivot = [0, 4] };

// Fonts: a text description of glyphs plus its page picture, which needs a texture def of the
// same name ending in .png.
foreach (name in ["sans18", "bold40"]) {
    g_texture_defs["fonts/" + name + ".png"] <- { mipmaps = false };
    g_font_defs[name] <- { file = "fonts/" + name + ".fnt" };
}
// UI labels start with the font named "system".
g_font_defs.system <- { file = "fonts/sans18.fnt" };

// Particles. Sparks burst once (spawn_duration 0) in the colour of the broken brick; their
// occlusion of 0 makes them add light instead of covering what is behind.
local spark_colors = [[1, 0.3, 0.3], [1, 0.6, 0.2], [1, 0.9, 0.3], [0.4, 1, 0.4], [0.4, 0.6, 1],
                      [0.8, 0.4, 1], [0.8, 0.8, 0.9]];
foreach (i, color in spark_colors) {
    g_emitter_defs["sparks" + i] <- { sprite = "spark", spawn_rate = 14, spawn_duration = 0,
                                      spread = 360, speed = [60, 200], gravity = 400,
                                      duration = [0.3, 0.7], alpha_run = [1, 0],
                                      scale_run = [1, 0.2], color_run = [[1, 1, 1], color],
                                      occlusion_run = 0 };
}
// The ball leaves a fading trail: an endless emitter whose particles do not move.
g_emitter_defs.trail <- { sprite = "spark", spawn_rate = 50, spawn_duration = -1, gravity = 0,
                          duration = 0.25, alpha = 0.35, scale_run = [0.9, 0.1],
                          occlusion_run = 0 };
// Dust drifting down behind the field, spawned anywhere on the screen.
g_emitter_defs.dust <- { sprite = "dust", spawn_rate = 12, spawn_duration = -1,
                         spawn_box = [CANVAS_WIDTH, CANVAS_HEIGHT], direction = [160, 200],
                         speed = [8, 30], gravity = 0, duration = [4, 8], alpha = [0.2, 0.7],
                         alpha_run = [1, 0], occlusion_run = 0 };

// Sounds: effects are samples decoded once; the music streams from its file.
foreach (name in ["blip", "wall", "hit", "lose", "click"])
    g_sound_defs[name] <- { file = name + ".wav", category = SOUND_EFFECTS };
g_sound_defs.music <- { file = "music.wav", streaming = true, category = SOUND_MUSIC };
