// A game that stops responding in update: only a second SIGTERM ends it, and the setting it
// changed before is saved all the same.
::System.register_cvar("difficulty", "normal");  // a default: not saved
return {
    function init() {
        ::System.set_cvar("level", 7);
    },
    function update(dt) {
        ::System.message("hanging in update");
        while (true) {}
    }
};
