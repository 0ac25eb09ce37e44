// frame.h -- one frame of the game: input, rules, drawing, presenting and pacing
#pragma once

// Called by the message loop on every pass. 1 when the frame ran to its end, 0 when it
// stopped early because the background or the text could not be drawn.
int GameFrame(void *unused);
