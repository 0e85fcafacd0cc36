// Deep recursion works; recursion without end is stopped at a fixed depth with the usual
// report of an uncaught error, instead of eating memory until the process is killed.
function depth(n) {
    return n == 0 ? 0 : 1 + depth(n - 1);
}

function endless(n) {
    return 1 + endless(n + 1);
}

class Game {
    function init() {
        ::System.message("recursion 9000 deep returns ", depth(9000));
    }
    function update(dt) {
        ::System.message("recursing without end");
        return endless(1);
    }
}
return Game();
