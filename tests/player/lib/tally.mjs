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
