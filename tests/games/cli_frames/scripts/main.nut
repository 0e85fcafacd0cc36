// Runs until stopped from outside: --frames must end it after its count, through the normal
// quit, so the setting changed on every frame is saved with its last value.
return {
    frames = 0,
    function update(dt) {
        frames++;
        ::System.message("update ", frames);
        ::System.set_cvar("frames_run", "" + frames);
    }
};
