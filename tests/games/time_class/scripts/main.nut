::System.run_script("scripts/check.nut");

// Arithmetic makes new Time values from integers, floats and other Times.
local later = Time(2.5) + 1;
check(later instanceof Time, "Time + integer is a Time");
check_equal(later.tostring(), "3.5", "2.5 + 1");
check_equal((Time(2.5) - 0.5).tostring(), "2", "Time - float");
check_equal((Time(4) - Time(1.5)).tostring(), "2.5", "Time - Time");
check_equal((Time(1) + Time(0.25) + 2).tostring(), "3.25", "chained additions");
check_equal(Time().tostring(), "0", "no argument means zero");
check_equal(Time(Time(7)).tostring(), "7", "a Time copied from a Time");
check_equal(Time(-3).tostring(), "-3", "negative times");
check_equal(Time(1.0 / 3).tostring(), "0.333333", "shown as a script float");
check_equal((Time(16777216) + 1 - 16777216).tostring(), "1", "kept in double precision");
check_equal((Time(1000000) + 0.5).tostring(), "1e+06", "shown in single precision");
local start = Time(10);
local moved = start + 5;
check_equal(start.tostring(), "10", "adding leaves the operand alone");
check(moved != start, "the sum is a new instance");

// Comparisons through _cmp. The VM consults _cmp only when both sides are instances, so a Time
// is compared with other Times.
check_equal(Time(1) <=> Time(2), -1, "earlier Time against later Time");
check_equal(Time(3) <=> Time(2), 1, "later Time against earlier Time");
check_equal(Time(2) <=> Time(2.0), 0, "equal values");
check(Time(1) < Time(1.5), "Time(1) < Time(1.5)");
check(Time(3) > Time(2.5), "Time(3) > Time(2.5)");
check(Time(2) <= Time(2) && Time(2) >= Time(2), "equal is both <= and >=");
check(!(Time(5) < Time(4)), "Time(5) is not before Time(4)");
check(Time(-1) < Time(), "negative times come before zero");

// Wrong arguments raise the class's own messages.
check_equal(error_of(@() Time(1, 2)), "Invalid number of arguments to Time constructor.",
            "two constructor arguments");
check_equal(error_of(@() Time("3")), "Invalid argument to Time constructor.", "a string");
check_equal(error_of(@() Time(HTTPPost())), "Invalid argument to Time constructor.",
            "an instance of another class");
check_equal(error_of(@() Time.constructor.call(HTTPPost())), "Invalid this.",
            "constructor on another class's instance");
check_equal(error_of(@() Time(1) + HTTPPost()), "Invalid argument to Time _add.", "_add");
check_equal(error_of(@() Time(1) - HTTPPost()), "Invalid argument to Time _sub.", "_sub");
check_equal(error_of(@() Time(1) < HTTPPost()), "Invalid argument to Time _cmp.", "_cmp");
check_equal(Time(1) + "2", "12", "a string operand makes + a concatenation");
local type_error = error_of(@() Time(1) - "2");
check(type_error != null && type_error.find("invalid type 'string'") != null,
      "the parameter check refuses a string operand: " + type_error);

// Results are made from the root table's Time class.
local saved = ::Time;
::Time = 5;
check_equal(error_of(@() saved(1) + 1), "Can't create Time instance.", "Time replaced by a number");
::Time = class {};
check_equal(error_of(@() saved(1) - 1), "Can't create Time instance.",
            "Time replaced by an unrelated class");
::Time = saved;
check_equal((Time(1) + 1).tostring(), "2", "works again once restored");

// A Time carries no engine object, so engine object methods refuse it instead of misreading it.
check(Time(1) instanceof EngineObject, "Time derives from EngineObject");
check_equal(error_of(@() Time(1).get_def_name()), "Expecting EngineObject",
            "an inherited method refuses a Time value");
check_equal(error_of(@() EngineObject.get_def_name.call(Time(1))), "Expecting EngineObject",
            "EngineObject methods refuse a Time");

checks_done();
::System.request_quit();
return null;
