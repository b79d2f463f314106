// Called by the program with TCallLabel; stage.as holds the work.
kvFastResize();
