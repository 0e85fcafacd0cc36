::System.run_script("scripts/check.nut");

local post = HTTPPost();
check(post instanceof EngineObject, "HTTPPost is an EngineObject");
check_equal(post.update(), 0, "a new request is idle");
check_equal(post.get_received_data(), "", "nothing received before init");
::System.message("before init");
check_equal(post.init("http://example.com/score", "name=Ann&score=10"), null, "init returns nothing");
::System.message("after init");
check_equal(post.update(), -1, "the request failed");
check_equal(post.update(), -1, "and stays failed");
check_equal(post.get_received_data(), "", "nothing received");
check_equal(HTTPPost().update(), 0, "another request is still idle");

check_equal(error_of(@() HTTPPost.update.call(File())), "Expecting HTTPPost", "update on a File");
check_equal(error_of(@() HTTPPost.constructor.call(File())), "Expecting HTTPPost",
            "constructor on a File");
check_equal(error_of(@() HTTPPost.instance().get_received_data()), "Expecting HTTPPost",
            "an instance never constructed");
local type_error = error_of(@() post.init("http://example.com", 5));
check(type_error != null && type_error.find("invalid type 'integer'") != null,
      "init refuses non-string data: " + type_error);

checks_done();
::System.request_quit();
return null;
