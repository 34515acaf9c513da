// SPDX-License-Identifier: MIT
// The calculator's page: hands WeChat's events to the program and takes its data back
// (setData). Events that come before the program has arrived wait for it, in order.
const Velmora = require('../../velmora.js');

Component({
  lifetimes: {
    attached() {
      this.waiting = [];
      Velmora().then((program) => {
        this.program = program;
        program.start(this, wx, this.waiting.splice(0));
      });
    },
  },
  methods: {
    onEvent(event) {
      if (this.program) {
        this.program.handleEvent(event);
      } else {
        this.waiting.push(event);
      }
    },
  },
});
