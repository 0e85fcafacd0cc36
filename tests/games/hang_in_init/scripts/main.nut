// A game that stops responding before its first frame: only a second SIGTERM ends it, and the
// setting it changed before is saved all the same.
return {
    function init() {
        ::System.set_cvar("level", 7);
        ::System.message("hanging in init");
        while (true) {}
    }
};
