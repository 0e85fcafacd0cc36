class Game {
    function update(dt) {
        ::System.message("first update");
        local table = {};
        return table.missing;
    }
}
return Game();
