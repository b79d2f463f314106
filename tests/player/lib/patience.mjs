// How long the player checks wait for what should come. A limit that only guards against a
// hang (a movie that never says it is done, a page that never shows its player) is multiplied
// by VANTOREL_PATIENCE, 4 unless set: with the whole suite running beside it, or a sanitized
// build, a machine may draw a movie's frames several times slower than alone, and a check that
// passes only on a quiet machine says nothing. A limit that decides what a check sees (how long
// a movie plays before its picture is taken) is not a guard and stays as it is.
const patience = Number(process.env.VANTOREL_PATIENCE) || 4;

export const guard = (ms) => ms * patience;
