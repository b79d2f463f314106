// The pass/fail tally of a player check: "ok" or "FAIL" a named check, its problems below it,
// and at the end the counts and the exit status.
//
// Usage:
//   const { check, finish } = tally();
//   check("what holds", problems);   // problems: [] when it holds
//   finish();                        // prints "<n> passed, <m> failed" and exits
export function tally() {
  let passed = 0;
  let failed = 0;
  return {
    check(name, problems) {
      if (problems.length === 0) { passed++; console.log(`ok   ${name}`); return; }
      failed++;
      console.log(`FAIL ${name}`);
      for (const p of problems) console.log(`     ${p}`);
    },
    finish() {
      console.log(`${passed} passed, ${failed} failed`);
      process.exit(failed === 0 ? 0 : 1);
    },
  };
}

// The tally of a dashboard check that compares what a movie reported, value by value.
//
// Usage:
//   const { fail, expect, failures, finish } = expectations();
//   expect("what", got, wanted);     // "ok" when got === wanted, else a failure
//   fail("message");                 // a failure found otherwise
//   finish();                        // prints "all checks passed" or "<n> failed" and exits
//   failures()                       // how many failed so far
export function expectations() {
  let failed = 0;
  const fail = (message) => { console.log(`FAIL ${message}`); ++failed; };
  const expect = (what, got, wanted) => {
    if (got === wanted) console.log(`ok   ${what} = ${JSON.stringify(got)}`);
    else fail(`${what} = ${JSON.stringify(got)}, expected ${JSON.stringify(wanted)}`);
  };
  const finish = () => {
    console.log(failed ? `${failed} failed` : "all checks passed");
    process.exit(failed ? 1 : 0);
  };
  return { fail, expect, failures: () => failed, finish };
}
