// A game object without update: rendering goes on regardless.
class Game {
    frames = 0;
    function render() {
        frames++;
        ::System.message("render ", frames);
        if (frames == 3) ::System.request_quit();
    }
}
return Game();
