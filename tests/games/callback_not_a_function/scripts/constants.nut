// Nothing to declare: the checks live in main.nut.
