// Sprite defs reached through SceneObject.set_sprite, which loads them: each problem is logged
// (the expect file lists the lines in order) and a sprite that fails shows nothing.
::System.run_script("scripts/check.nut");

g_texture_defs.white <- { _special_ = "_white_" };
g_sprite_defs.dot <- { texture = "white", rect = [0, 0, 8, 6], pivot = "center" };

// name, def, size shown afterwards ([0, 0] when the sprite failed)
local cases = [
    ["no_texture", {}, [0, 0]],
    ["lost_texture", { texture = "nowhere" }, [0, 0]],
    ["odd_pivot", { texture = "white", rect = [0, 0, 4, 2], pivot = "middle" }, [4, 2]],
    ["long_flip", { texture = "white", rect = [0, 0, 4, 2], flip = "10000" }, [4, 2]],
    ["short_circle", { texture = "white", ccircle = [1, 2] }, [0, 0]],
    ["flat_circle", { texture = "white", ccircle = [1, 2, 0] }, [0, 0]],
    ["short_rect", { texture = "white", crect = [0, 0, 1] }, [0, 0]],
    ["crect_animated", { frames = ["dot"], crect = -1 }, [8, 6]],
    ["flip_animated", { frames = ["dot"], flip = "1" }, [8, 6]],
    ["pivot_animated", { frames = ["dot"], pivot = "center" }, [8, 6]],
    ["no_frames", { frames = [] }, [0, 0]],
    ["lost_frame", { frames = ["dot", "ghost"] }, [0, 0]],
    ["bad_entry", { frames = [["dot"]] }, [0, 0]],
    ["frames_without_texture", { frames = [[0, 0.1]] }, [0, 0]],
    ["bad_index_entry", { texture = "white", frames = [[3, 0.1]] }, [0, 0]],
    ["bad_index", { texture = "white", frames = [3] }, [0, 0]],
];

class Game {
    function init() {
        local o = SceneObject();
        foreach (c in cases) {
            g_sprite_defs[c[0]] <- c[1];
            o.set_sprite(c[0]);
            local size = o.get_size();
            check(size[0] == c[2][0] && size[1] == c[2][1],
                  c[0] + " shows " + size[0] + " x " + size[1]);
        }
        checks_done();
        ::System.request_quit();
    }
}

return Game();
