// One game of breakout: a wall of bricks, the paddle, the ball and the heads-up text. The
// scene moves, animates and collides everything; this screen keeps the rules and the score.
class PlayScreen {
    game = null;
    scene = null;
    paddle = null;
    ball = null;
    bricks = null;
    hud = null;
    banner = null;  // the big message in the middle: serve, pause, game over
    score = 0;
    lives = LIVES;
    paused = false;

    constructor(owner) {
        game = owner;
        scene = ::Scene();
        scene.set_view(game.view);
        ::add_dust(scene);
        build_wall();
        paddle = ::Paddle(scene);
        hud = ::make_text(scene, "sans18", 12, 8);
        banner = ::make_text(scene, "bold40", 0, 0);
        new_ball();
        update_hud();
    }

    // Six rows of 16 bricks; the middle of the second row is steel.
    function build_wall() {
        bricks = [];
        for (local row = 0; row < 6; ++row) {
            for (local column = 0; column < 16; ++column) {
                local steel = row == 1 && column >= 5 && column <= 10;
                bricks.append(::Brick(scene, 50 + column * 36, 70 + row * 20,
                                      steel ? BRICK_COLORS : row));
            }
        }
    }

    function show_banner(message) {
        ::set_centered_text(banner, message, 300);
    }

    // "^1" .. "^4" switch the text colour (set up in main.nut); "^0" goes back to white.
    function update_hud() {
        hud.set_text(::format("^1SCORE ^0%d    ^2BALLS ^0%d    ^4P pause, Esc menu", score, lives));
    }

    // The ball waits on the paddle until launched.
    function new_ball() {
        ball = ::Ball(this);
        show_banner("^1Press Space, click or fire");
    }

    function launch() {
        if (ball.is_moving() || lives == 0) return;
        if (bricks.len() == 0) build_wall();
        ball.launch();
        show_banner("");
    }

    function brick_hit(brick) {
        if (!brick.hit()) {
            ::play_sound("wall");
            return;
        }
        ::play_sound("hit");
        ::burst_sparks(scene, brick);
        score += brick.points();
        bricks.remove(bricks.find(brick));  // the last reference: the brick leaves the scene
        update_hud();
        if (bricks.len() == 0) {
            show_banner("^2Wall cleared!^0 Launch for another");
            ball.velocity = [0, 0];
        }
        game.log_event("brick broken, score " + score);
    }

    function ball_lost() {
        ::play_sound("lose");
        --lives;
        update_hud();
        game.log_event("ball lost, " + lives + " left");
        if (lives == 0) {
            ball.velocity = [0, 0];
            show_banner("^3Game over^0 - Esc for the menu");
        } else {
            new_ball();
        }
    }

    function update(dt) {
        if (paused) return;
        local pointer = game.controls.moved_pointer();
        if (pointer != null)
            paddle.slide_to(pointer[0]);
        else
            paddle.steer(game.controls.steering(), dt);
        if (ball.is_moving())
            ball.advance(dt);
        else if (lives > 0)
            ball.set_position(paddle.get_position()[0], PADDLE_Y - 14);
        scene.update(dt);
    }

    function render() {
        scene.render_2d();
    }

    function key_down(key) {
        if (is_launch_key(key) && !paused) {
            launch();
        } else if (key == KEY_P || key == JOY_2) {
            paused = !paused;
            show_banner(paused ? "Paused" : "");
        } else if (is_back_key(key)) {
            game.show_menu();
        }
    }
}
