// A callback slot that holds something other than a function is reported as such. The game
// has no init, whose failed lookup must not lend its error to the report.
class Game {
    update = 5;
}
return Game();
