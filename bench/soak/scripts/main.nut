// Creates and drops engine objects every frame for as long as it runs, so that a runner watching
// the process can see whether memory stays flat. Every resource made here is unreferenced by the
// end of the frame that made it.

local kSettings = 64;  // the settings cycled through; each is set again and again

class SoakGame {
    frame = 0;

    function init() {
        for (local i = 0; i < kSettings; i += 1)
            ::System.register_cvar("soak_" + i, 0);
    }

    function make_textures() {
        local dynamic = Texture.create({dynamic = true, width = 64, height = 64, format = "rgba"});
        local picture = Texture.create({file = "pattern.png", mipmaps = false});
        local loaded = dynamic.load() && picture.load();
        if (frame == 1)
            ::System.message("soak textures load: ", loaded);
        Sprite.create({texture = picture, rect = [0, 0, 16, 16]});
        Sprite.create({texture = dynamic});
    }

    function write_and_read_file() {
        local out = File();
        out.open("soak.txt", "w", "save");
        out.write_line("frame " + frame);
        out.close();
        local back = File();
        back.open("soak.txt", "r", "save");
        back.read_line();
        back.close();
    }

    function update(dt) {
        frame += 1;
        make_textures();
        write_and_read_file();
        ::System.set_cvar("soak_" + (frame % kSettings), frame);
        if (frame % 1000 == 0)
            ::System.message("soak frame ", frame);
    }

    function render() {}
}

return SoakGame();
