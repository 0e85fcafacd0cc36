// line 1
local ok = 1;
local = = 2;
