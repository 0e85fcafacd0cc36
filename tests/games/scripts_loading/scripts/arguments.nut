return vargv[0] + " " + vargv[1] + " " + (this == ::getroottable() ? "root" : "other");
