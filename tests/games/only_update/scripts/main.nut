// A game object with nothing but update: frames still run and end.
return {
    frames = 0,
    function update(dt) {
        frames++;
        ::System.message("update ", frames);
        if (frames == 3) ::System.request_quit();
    }
};
